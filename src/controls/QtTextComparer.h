// The completion list's order in the window: Qt's collation of a locale,
// without regard to letter case.
#pragma once

#include "controls/TextComparer.h"

#include <QLocale>

// QLocale() is the user's locale unless a default was set.
TextComparer QtCaseInsensitiveComparer(const QLocale& locale = QLocale());
