#include "main/KelvoxApplication.h"
#include "main/TestHook.h"
#include "main/TfrmMain.h"
#include "messages/QtMessageSink.h"
#include "output/FontStandIns.h"

#include <memory>

int main(int argc, char *argv[])
{
    KelvoxApplication app(argc, argv);
    FontStandIns::Install();
    QtMessageSink sink;
    kelvox::SetMessageSink(&sink);

    // Only tests start the program so.
    std::unique_ptr<TestHook> hook;
    if (app.arguments().contains(QStringLiteral("--test-hook")))
        hook = std::make_unique<TestHook>();

    TfrmMain window;
    if (hook)
        hook->attach(window);
    window.show();
    const int result = app.exec();
    kelvox::SetMessageSink(nullptr);
    return result;
}
