// Distinct rides made from one demo, for the load generator and the tests: the same ride
// with its first push some iterations later is another ride (another ride digest) to the
// same finish in the same ride steps.
#pragma once

#include <string>

// The demo with every command from its first press of Up on `steps` iterations later.
std::string withFirstPushLater(const std::string& demo, int steps);
