#pragma once

namespace orvanix {

// Keeps memory that a page's records and fields freed inside the process for the
// next page, instead of glibc handing it back to the system after every page and
// faulting it in again (several microseconds a page of memory on a virtual
// machine, which would cost more than cutting the page itself). Called once at
// the start of each program.
void keepPageMemory();

}  // namespace orvanix
