// The process-wide page state record.
#include "book/PageState.h"

namespace quibo {

PageState& pageState()
{
    static PageState* state = new PageState();
    return *state;
}

} // namespace quibo
