// Rate limits, per instance: a token bucket for each client address (every request) and
// for each rider key (submissions). A bucket holds up to twice its rate.
#pragma once

#include <string>

// rate: requests a second; 0 turns that limit off.
void setRateLimits(double perAddress, double perKey);
// 1 when the request may go on, 0 when it is one too many (429).
int allowAddress(const std::string& address);
int allowKey(const std::string& key);
// For tests: every bucket full again.
void resetRateLimits();
