// Riding again: a fresh run of the same course from exactly the state the last run
// began with.
#pragma once

// The course read again, the segment window and the eye back at the start, speed and
// pitch at rest, the clock back at 0, the rider (health, condition, money, equipment)
// and the damage table with its cursor as when the last run began; then the race
// starts. Returns 0 and changes nothing when no run has begun yet or the course file
// cannot be read any more.
int startFreshRun();
