#include "platform/sim/sim.h"

namespace sim {

void ResetProcesses() {}

}  // namespace sim
