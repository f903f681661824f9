#pragma once

#include <QString>

class QTranslator;

// Loads a translation file by name, first from the resources and then from the "languages" folder
// beside the executable, and installs the translator only when one of the loads succeeded.
bool loadAndInstallTranslation(QTranslator &translator, const QString &fileName);
