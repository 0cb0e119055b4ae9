#include "platform/sim/sim.h"

namespace sim {

void ResetRegistry() {}

}  // namespace sim
