#pragma once

#include <QString>
#include <QStringList>

// The file name extensions the library takes as videos, upper case: the
// containers a GPS reader knows and common ones the media backend plays.
QStringList LibraryVideoExtensions();

// Whether the name ends in one of them, in any letter case.
bool IsLibraryVideoName(const QString& path);

// The open panel's filter for them.
QString LibraryVideoFilter();
