#pragma once

namespace platform {

// The log's text and the window's document grow by doubling for as long as logging runs. Where the C
// library would serve such a buffer from the heap, each doubling copies the whole log while the
// window waits; mapped on its own, a buffer grows by remapping its pages. Called once at start.
void großePufferEinzelnAbbilden();

} // namespace platform
