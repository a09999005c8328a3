#pragma once

#include <QString>

// Maps the forms' fonts to shipped fonts of close metrics where the machine
// lacks them, so that wrapping and fitting count the same lines everywhere.
// Call once at start, before anything is measured or shown.
class FontStandIns final {
public:
    static void Install();
    // The family Qt actually draws for the given one.
    static QString Resolved(const QString &family);
};
