#pragma once

#include <QLineF>
#include <QList>

// What the ruler keeps between runs: its band offsets and its guides as stored, before they are
// fitted to a window. The stored values are user data: whatever is unreadable is left out.
struct RulerState
{
    int horizontalRulerOffset = 0;
    int verticalRulerOffset = 0;
    QList<QLineF> measurements;
};

namespace RulerSettings {

// The offsets (0 when missing or not an integer) and the stored lines whose four coordinates are
// all finite numbers, in index order. Only the entries that are really stored are visited, so a
// forged array size costs nothing.
RulerState load();
void save(const RulerState &state);

} // namespace RulerSettings
