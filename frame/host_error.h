// Errors that the library lets reach the host, and the guard at every entry
// point from the host.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/platform.h"

namespace qrvl {

// The three errors that reach the host: a refused settings write in Save, a
// malformed repeat count in a macro, an I/O failure of the install log.
class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace boundary {
extern int depth;               // nesting of guarded entry points on this thread
extern std::string last_error;  // message of the last error raised to the host
}  // namespace boundary

// Runs body as an entry point called by the host. Only the outermost entry point
// of a call acts: a HostError is raised to the host (after every object of the
// call is gone), any other exception gives the fallback answer. Nested entry
// points (SyncIDE calling OpenFile through the object) let errors pass on.
// A host that continues after the raised error gets the fallback answer.
template <class R, class F>
R AtBoundary(R fallback, F&& body) {
  if (boundary::depth > 0) return body();
  bool raise = false;
  R answer = fallback;
  ++boundary::depth;
  try {
    answer = body();
  } catch (const HostError& e) {
    try {
      boundary::last_error = e.what();
      raise = true;
    } catch (...) {
    }
  } catch (...) {
  }
  --boundary::depth;
  if (raise) plat::RaiseHostError(boundary::last_error.c_str());
  return raise ? fallback : answer;
}

template <class F>
void AtBoundaryVoid(F&& body) {
  AtBoundary(0, [&] {
    body();
    return 0;
  });
}

}  // namespace qrvl
