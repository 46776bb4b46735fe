#include "state_log.h"

#include "base/game_state.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "render/rasteriser.h"
#include "render/segment_window.h"
#include "track/track_lists.h"

namespace {

// Text inside a JSON string; bytes of 0x80 and above as their Latin-1 code points.
void writeEscaped(FILE* out, const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p >= 0x80 || *p < 0x20) std::fprintf(out, "\\u%04x", *p);
        else if (*p == '"' || *p == '\\') std::fprintf(out, "\\%c", *p);
        else std::fputc(*p, out);
    }
}

}  // namespace

void writeStateLine(FILE* out, int iteration) {
    const GameStateBlock& g = GameState;
    std::fprintf(out,
                 "{\"it\":%d,\"screen\":%d,\"racing\":%d,\"speed\":%.9g,\"pitchState\":%d,"
                 "\"offTrack\":%d,\"injuryFlag\":%d,\"defectFlag\":%d,\"crashFlag\":%d,"
                 "\"damageCursor\":%d,\"notEnoughMoney\":%d,\"segmentCount\":%d,"
                 "\"texturingEnabled\":%d,\"damageTable\":[",
                 iteration, g.screen, g.racing, double(g.speed), g.pitchState, g.offTrack, g.injuryFlag,
                 g.defectFlag, g.crashFlag, g.damageCursor, g.notEnoughMoney, g.segmentCount,
                 texturingEnabled);
    for (int i = 0; i < 12; ++i) std::fprintf(out, "%s%d", i ? "," : "", DamageTable[i]);
    std::fprintf(out, "],\"rider\":[%.9g,%.9g,%.9g],\"camera\":[", double(RiderPosition[0]),
                 double(RiderPosition[1]), double(RiderPosition[2]));
    for (int i = 0; i < 16; ++i)
        std::fprintf(out, "%s%.9g", i ? "," : "", double(CameraMatrix(i / 4, i % 4)));
    const SegmentMesh& current = SegmentWindow.current.mesh;
    std::fprintf(out, "],\"trackMeshes\":%d,\"trackObjects\":%d,\"current\":{\"kind\":\"",
                 TrackMeshes.count(), TrackObjects.count());
    const char kind[2] = {current.kind, 0};
    writeEscaped(out, kind);
    std::fprintf(out, "\",\"variant\":%d,\"slope\":%d},\"profile\":{\"name\":\"", current.variant,
                 current.slope);
    writeEscaped(out, Rider.name());
    std::fprintf(out,
                 "\",\"health\":%d,\"condition\":%d,\"balance\":%d,\"fork\":%d,\"frame\":%d,"
                 "\"brakes\":%d,\"componentLevel\":%d,\"protectors\":[%d,%d,%d,%d]}}\n",
                 Rider.health(), Rider.condition(), Rider.balance(), Rider.fork(), Rider.frame(),
                 Rider.brakes(), Rider.componentLevel(), Rider.hasProtector(0), Rider.hasProtector(1),
                 Rider.hasProtector(2), Rider.hasProtector(3));
    std::fflush(out);
}
