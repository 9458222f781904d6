// Storage of the process-wide book record.
#include "book/BookSettings.h"

namespace quibo {

BookSettings& bookSettings()
{
    static BookSettings settings;
    return settings;
}

} // namespace quibo
