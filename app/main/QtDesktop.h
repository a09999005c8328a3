#pragma once

#include "main/Desktop.h"

class QtDesktop final : public Desktop {
public:
    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};
