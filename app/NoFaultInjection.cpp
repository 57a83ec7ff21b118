#include "app/FaultInjection.h"

void InstallInjectedFaults() {}
