#include "rulersettings.h"

#include "settingskeys.h"

#include <QtMath>

#include <algorithm>
#include <optional>

namespace {

int storedInt(const QSettings &settings, const char *key)
{
    bool ok = false;
    const int value = settings.value(QLatin1String(key)).toInt(&ok);
    return ok ? value : SettingsKeys::RulerOffsetDefault;
}

std::optional<qreal> storedCoordinate(const QSettings &settings, const char *key)
{
    bool ok = false;
    const qreal value = settings.value(QLatin1String(key)).toDouble(&ok);
    if (!ok || !qIsFinite(value))
        return std::nullopt;
    return value;
}

// The array indices (from 0) that have an entry of their own below the stored size, ascending.
QList<int> storedIndices(QSettings &settings)
{
    const int size = settings.beginReadArray(QLatin1String(SettingsKeys::RulerMeasurements));
    settings.endArray();
    settings.beginGroup(QLatin1String(SettingsKeys::RulerMeasurements));
    const QStringList groups = settings.childGroups();
    settings.endGroup();

    QList<int> indices;
    for (const QString &group : groups) {
        bool ok = false;
        const int number = group.toInt(&ok);
        if (ok && number >= 1 && number <= size)
            indices.append(number - 1);
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

} // namespace

namespace RulerSettings {

RulerState load()
{
    QSettings settings = settingsStore();
    RulerState state;
    state.horizontalRulerOffset = storedInt(settings, SettingsKeys::HorizontalRulerOffset);
    state.verticalRulerOffset = storedInt(settings, SettingsKeys::VerticalRulerOffset);

    const QList<int> indices = storedIndices(settings);
    settings.beginReadArray(QLatin1String(SettingsKeys::RulerMeasurements));
    for (int index : indices) {
        settings.setArrayIndex(index);
        const auto startX = storedCoordinate(settings, SettingsKeys::RulerStartX);
        const auto startY = storedCoordinate(settings, SettingsKeys::RulerStartY);
        const auto endX = storedCoordinate(settings, SettingsKeys::RulerEndX);
        const auto endY = storedCoordinate(settings, SettingsKeys::RulerEndY);
        if (startX && startY && endX && endY)
            state.measurements.append(QLineF(*startX, *startY, *endX, *endY));
    }
    settings.endArray();
    return state;
}

void save(const RulerState &state)
{
    QSettings settings = settingsStore();
    settings.setValue(QLatin1String(SettingsKeys::HorizontalRulerOffset),
                      state.horizontalRulerOffset);
    settings.setValue(QLatin1String(SettingsKeys::VerticalRulerOffset), state.verticalRulerOffset);
    settings.remove(QLatin1String(SettingsKeys::RulerMeasurements));
    settings.beginWriteArray(QLatin1String(SettingsKeys::RulerMeasurements),
                             int(state.measurements.size()));
    for (int index = 0; index < state.measurements.size(); ++index) {
        const QLineF &line = state.measurements.at(index);
        settings.setArrayIndex(index);
        settings.setValue(QLatin1String(SettingsKeys::RulerStartX), line.x1());
        settings.setValue(QLatin1String(SettingsKeys::RulerStartY), line.y1());
        settings.setValue(QLatin1String(SettingsKeys::RulerEndX), line.x2());
        settings.setValue(QLatin1String(SettingsKeys::RulerEndY), line.y2());
    }
    settings.endArray();
}

} // namespace RulerSettings
