#pragma once

#include <QIcon>
#include <QString>

// A tool button's icon from its three pictures in the resources: name_n (normal), name_h (under
// the mouse) and name_a (checked).
QIcon buttonIcon(const QString &name);
