#pragma once
// The front end of the formatted-text renderer: preparing the text, converting runs, and
// reading a tag's attributes. Used only by the renderer.
#include "platform/ui/Colors.h"

#include <QLatin1String>
#include <QString>

namespace grid::html {

// Entities, the "<#" escape, carriage returns as "<BR>" and line feeds removed.
QString PrepareText(const QString& Text);
// "&nbsp;", "&lt;" and "&gt;" inside a cut run.
QString ConvertRun(const QString& Run);
// The run as shown: "&&" is one "&", a single "&" only underlines the character after it.
QString ShownText(const QString& Run);
// Upper case with one character for each character, so positions stay those of the text.
QString UpperSameLength(const QString& Text);

// One tag from "<" through ">", with its upper-cased copy for matching.
struct Tag {
    QString Text;
    QString Upper;

    explicit Tag(const QString& T) : Text(T), Upper(UpperSameLength(T)) {}
    bool starts(QLatin1String Prefix) const { return Upper.startsWith(Prefix); }
    // The text between the first pair of double quotes after the attribute Name (searched
    // in the upper-cased tag); upper-cased unless KeepCase. Found tells whether the name
    // occurs at all.
    QString attr(QLatin1String Name, bool KeepCase = false, bool* Found = nullptr) const;
    // The first double-quoted text in the tag, case kept (an anchor's target).
    QString firstQuoted() const;
    // SIZE: the whole number after "=" (and an opening quote), mapped 1..5 to 8..16 points;
    // 0 when absent or not positive.
    int fontSize() const;
    // The angle of a rotation tag: the first quoted whole number after the first "A".
    int angle() const;
};

// A colour attribute of FONT or P: "#RRGGBB", else a colour name.
ui::Color AttrColor(const QString& UpperValue);

} // namespace grid::html
