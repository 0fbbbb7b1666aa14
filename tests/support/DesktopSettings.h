#pragma once
// Tests that read the desktop's settings run against a registry store of their own, so that
// the settings are known.
#include "platform/registry/Registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class DesktopSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
    }
    void TearDown() override { registry::setStorePath(QString()); }

    void setInternational(const char* name, const QString& value)
    {
        ASSERT_TRUE(registry::write(registry::Root::CurrentUser, QStringLiteral("Control Panel\\International"),
                                    QLatin1String(name), value));
    }
    // A Polish desktop: decimal comma, full stop between thousands, dates as given.
    void setPolish(const QString& shortDate)
    {
        setInternational("sDecimal", QStringLiteral(","));
        setInternational("sThousand", QStringLiteral("."));
        setInternational("sShortDate", shortDate);
    }

    QTemporaryDir dir;
};
