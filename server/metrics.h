// What /metrics tells Prometheus: requests by route and status, runs verified and
// refused, the seconds spent replaying and in the database.
#pragma once

#include <string>

void countRequest(const char* route, int status);
void countVerification(int finished, double seconds);
// The Prometheus text exposition; databaseSeconds from the store.
std::string metricsText(double databaseSeconds);
