#pragma once

namespace varnel {

// Takes away from this process everything decoding a picture does not need, as sandboxed
// image loaders do: from here on it may use memory (never executable memory it makes), read
// and seek the descriptors it holds or is handed, exchange records over its channel, write
// to standard error (the codecs' warnings) and end. Opening a file, making a socket or a
// process, or any other system call ends the process at once (SIGSYS). Cannot be undone.
// 0 when the filter is in place, otherwise why the kernel refused it (an errno value);
// the process is then unchanged.
int RestrictToDecoding(int channel);

}  // namespace varnel
