// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the browser tests: a QApplication on the offscreen platform
// (so the tests run on machines without a display), and every complaint of a
// QAbstractItemModelTester turned into a failure of the running test. The
// window's catalogue caches go to a folder of the run's own, never the user's.

#include "file_size_limit.h"
#include "temp_path.h"
#include <QApplication>
#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QtMessageHandler g_previousHandler = nullptr;

bool IsModelCheck(const QMessageLogContext& context)
{
    return context.category != nullptr
        && (std::strcmp(context.category, "qt.modeltest") == 0
            || std::strcmp(context.category, "qt.core.qabstractitemmodel.checkindex") == 0);
}

void FailOnModelComplaint(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && IsModelCheck(context))
        ADD_FAILURE() << context.category << ": " << message.toStdString();
    if (g_previousHandler != nullptr)
        g_previousHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    LimitTestFileSize();
    const TempDir cacheHome;
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cacheHome.Path()));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    g_previousHandler = qInstallMessageHandler(FailOnModelComplaint);
    return RUN_ALL_TESTS();
}
