#pragma once

namespace velmora {

// Makes "VelmoraPlayer" 1.0 known to every scene engine: the element Video
// and the enumeration holders MediaPlayer and VideoOutput.
void registerPlayerTypes();

} // namespace velmora
