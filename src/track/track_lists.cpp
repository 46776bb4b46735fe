// The four lists of the loaded course.
#include "track/track_lists.h"

HandleList<SegmentMesh> PendingMeshes, TrackMeshes;
HandleList<SegmentObjects> PendingObjects, TrackObjects;

void clearTrackLists() {
    PendingMeshes.clear();
    PendingObjects.clear();
    TrackMeshes.clear();
    TrackObjects.clear();
}
