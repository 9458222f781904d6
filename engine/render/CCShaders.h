// The one shader program everything is drawn with: vertex colour times
// texture, with an optional alpha cut-off for stencil shapes.
#pragma once

namespace cc {

// Compiles and links the program with the attributes at the given slots;
// 0 plus one log line when the GL refuses it.
unsigned int buildSpriteProgram(int positionSlot, int colorSlot, int texCoordSlot);

} // namespace cc
