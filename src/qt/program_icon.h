// The program's icon in every size it ships.
#pragma once

#include <QIcon>

inline QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/kelvarin/kelvarin-%1.png").arg(size), QSize(size, size));
  return icon;
}
