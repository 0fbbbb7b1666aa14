#pragma once
// Connecting a control's signal to a handler so that no exception travels through Qt's signal
// code: whatever the handler throws is caught at the slot and shown in the program's message
// dialog (ui::guard), and the program goes on.
//
//   ui::on(BitBtn_Zapisz, &QPushButton::clicked, this, &TForm_Faktura::BitBtn_ZapiszClick);
//   ui::on(CBox_Sort, &QComboBox::activated, this, [this](int i) { ... });
//
// A member handler may take fewer arguments than the signal gives (none, or the leading ones).
#include "platform/ui/Application.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <type_traits>
#include <utility>

namespace ui {

namespace detail {

template <class Fn, class... Args>
void invokePrefix(Fn& fn, Args&&... args)
{
    if constexpr (std::is_invocable_v<Fn&, Args...>) {
        std::invoke(fn, std::forward<Args>(args)...);
    } else if constexpr (sizeof...(Args) > 0) {
        // Drop the last argument and try again.
        auto drop = [&fn](auto&&... first) { invokePrefix(fn, std::forward<decltype(first)>(first)...); };
        auto tuple = std::forward_as_tuple(std::forward<Args>(args)...);
        [&]<std::size_t... I>(std::index_sequence<I...>) { drop(std::get<I>(std::move(tuple))...); }
        (std::make_index_sequence<sizeof...(Args) - 1>{});
    } else {
        static_assert(sizeof...(Args) > 0, "the handler cannot be called with the signal's arguments");
    }
}

} // namespace detail

// Any callable (lambda, function object) as the handler; `context` ends the connection when it
// goes away, like QObject::connect.
template <class Sender, class Signal, class Handler>
requires(!std::is_member_function_pointer_v<std::decay_t<Handler>>) QMetaObject::Connection
    on(Sender* sender, Signal signal, const QObject* context, Handler&& handler,
       Qt::ConnectionType type = Qt::AutoConnection)
{
    return QObject::connect(
        sender, signal, context,
        [h = std::forward<Handler>(handler)](auto&&... args) mutable {
            guard([&] { detail::invokePrefix(h, std::forward<decltype(args)>(args)...); });
        },
        type);
}

// A member function of `receiver` as the handler.
template <class Sender, class Signal, class Receiver, class Method>
requires std::is_member_function_pointer_v<Method> QMetaObject::Connection
on(Sender* sender, Signal signal, Receiver* receiver, Method method, Qt::ConnectionType type = Qt::AutoConnection)
{
    return QObject::connect(
        sender, signal, receiver,
        [receiver, method](auto&&... args) {
            guard([&] {
                auto call = [receiver,
                             method](auto&&... a) -> decltype((receiver->*method)(std::forward<decltype(a)>(a)...)) {
                    return (receiver->*method)(std::forward<decltype(a)>(a)...);
                };
                detail::invokePrefix(call, std::forward<decltype(args)>(args)...);
            });
        },
        type);
}

// A sender held by a guarded pointer.
template <class Sender, class... Rest>
QMetaObject::Connection on(const QPointer<Sender>& sender, Rest&&... rest)
{
    return on(sender.data(), std::forward<Rest>(rest)...);
}

} // namespace ui
