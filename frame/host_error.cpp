#include "frame/host_error.h"

namespace qrvl::boundary {
int depth = 0;
std::string last_error;
}  // namespace qrvl::boundary
