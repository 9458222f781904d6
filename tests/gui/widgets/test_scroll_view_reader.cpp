// A layout file holding the three scrolling containers: each is created for
// its class name with its options, and its children land where it keeps them.
#include "gui/ReaderTestSupport.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIScrollView.h"

using namespace cc;
using namespace cc::readertest;

TEST_F(ReaderFixture, LayoutFileBuildsScrollViewPageViewAndDragPanel)
{
    const std::string child = node("Panel", "\"name\": \"item\", \"width\": 10, \"height\": 10");
    const std::string tree = node(
        "Panel", "\"width\": 640, \"height\": 960",
        node("ScrollView",
             "\"name\": \"scroll\", \"width\": 200, \"height\": 100, \"innerWidth\": 200, \"innerHeight\": 300, "
             "\"direction\": 2.7, \"clipAble\": false",
             child) +
            "," +
            node("PageView", "\"name\": \"pages\", \"width\": 300, \"height\": 200, \"clipAble\": true", child) + "," +
            node("DragPanel",
                 "\"name\": \"drag\", \"width\": 200, \"height\": 200, \"bounceEnable\": true, \"innerWidth\": 400, "
                 "\"innerHeight\": 50",
                 child));
    UIWidget* root = readText("scrolling.json", layout(tree));
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(3u, root->getChildren()->count());

    UIScrollView* scroll = dynamic_cast<UIScrollView*>(root->getChildren()->objectAtIndex(0));
    ASSERT_NE(nullptr, scroll);
    EXPECT_STREQ("scroll", scroll->getName());
    EXPECT_EQ(SCROLLVIEW_DIR_HORIZONTAL, scroll->getDirection()) << "2.7 is read as 2";
    EXPECT_EQ(CCSize(200, 300), scroll->getInnerContainer()->getSize());
    EXPECT_EQ(CCPoint(0, -200), scroll->getInnerContainer()->getPosition());
    EXPECT_TRUE(scroll->isClippingEnabled()) << "a scroll view does not read clipAble";
    ASSERT_EQ(1u, scroll->getChildren()->count());
    EXPECT_EQ(scroll->getInnerContainer(), static_cast<UIWidget*>(scroll->getChildren()->objectAtIndex(0))->getParent());

    UIPageView* pages = dynamic_cast<UIPageView*>(root->getChildren()->objectAtIndex(1));
    ASSERT_NE(nullptr, pages);
    EXPECT_EQ(1u, pages->getChildren()->count());
    EXPECT_EQ(0u, pages->getPages()->count()) << "file children are not pages";

    UIDragPanel* drag = dynamic_cast<UIDragPanel*>(root->getChildren()->objectAtIndex(2));
    ASSERT_NE(nullptr, drag);
    EXPECT_TRUE(drag->isBounceEnabled());
    EXPECT_EQ(CCSize(400, 200), drag->getInnerContainer()->getSize());
    EXPECT_EQ(1u, drag->getChildren()->count());
}
