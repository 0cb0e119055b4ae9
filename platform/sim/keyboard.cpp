#include "platform/sim/sim.h"

namespace sim {

void ResetKeyboard() {}

}  // namespace sim
