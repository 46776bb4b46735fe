// The lists that hold the loaded course. TrackMeshes and TrackObjects hold the segments
// in file order, the first segment at the head; the race view takes them from the front.
// The pending lists only collect the segments while the track file is read.
#pragma once

#include "track/counted_handle.h"
#include "track/segment_mesh.h"
#include "track/segment_objects.h"

extern HandleList<SegmentMesh> PendingMeshes, TrackMeshes;
extern HandleList<SegmentObjects> PendingObjects, TrackObjects;

// Releases every listed segment of all four lists (tests, program exit).
void clearTrackLists();
