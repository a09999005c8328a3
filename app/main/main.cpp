#include "main/KelvoxApplication.h"
#include "main/TfrmMain.h"
#include "messages/QtMessageSink.h"
#include "output/FontStandIns.h"

int main(int argc, char *argv[])
{
    KelvoxApplication app(argc, argv);
    FontStandIns::Install();
    QtMessageSink sink;
    kelvox::SetMessageSink(&sink);

    TfrmMain window;
    window.show();
    const int result = app.exec();
    kelvox::SetMessageSink(nullptr);
    return result;
}
