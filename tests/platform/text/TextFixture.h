#pragma once
// Text tests run against a registry store of their own, so the desktop's settings are known.
#include "platform/registry/Registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class TextSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
    }
    void TearDown() override { registry::setStorePath(QString()); }

    void setInternational(const char* name, const QString& value)
    {
        ASSERT_TRUE(registry::write(registry::Root::CurrentUser,
                                    QStringLiteral("Control Panel\\International"),
                                    QLatin1String(name), value));
    }

    QTemporaryDir dir;
};
