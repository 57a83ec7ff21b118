#pragma once

// Test builds only: makes a chosen failure happen for real, so the tests can
// watch the fatal path of the released program. The released program's
// version does nothing; users have no way to reach the seam.
void InstallInjectedFaults();
