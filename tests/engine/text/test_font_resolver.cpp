// Font lookup after the font list was loaded in the background: the same
// answers as without, and a second request to load changes nothing.
#include "text/CCFontResolver.h"

#include <gtest/gtest.h>

using namespace cc;

TEST(FontResolver, LoadingTheFontListAheadGivesTheSameFaces)
{
    CCFontResolver* resolver = CCFontResolver::shared();
    resolver->loadInBackground();
    resolver->loadInBackground();
    const CCFontFace& arial = resolver->resolve("Arial");
    EXPECT_FALSE(arial.path.empty());
    EXPECT_FALSE(arial.fallback);
    const CCFontFace& unknown = resolver->resolve("quibo-test-no-such-font");
    EXPECT_EQ(unknown.path, resolver->resolve(CCFontResolver::kFallbackFamily).path);
    // Once faces are known, loading again starts nothing and answers stay.
    resolver->loadInBackground();
    EXPECT_EQ(arial.path, resolver->resolve("Arial").path);
}
