// Shared by the action tests: a node on its own action manager, stepped
// by hand with a fixed frame time.
#pragma once

#include "actions/CCActions.h"
#include "base/CCAutoreleasePool.h"
#include "scene/CCNodeRGBA.h"

#include <gtest/gtest.h>

namespace quibo_test {

class ActionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager = new cc::CCActionManager();
        node = cc::CCNodeRGBA::create();
        node->retain();
        node->setActionManager(manager);
        node->onEnter(); // on the stage, so its actions are not paused
    }
    void TearDown() override
    {
        node->onExit();
        node->release();
        manager->release();
        cc::CCPoolManager::sharedPoolManager()->pop();
    }
    // Advances the manager in equal frames.
    void advance(float seconds, float frame = 0.1f)
    {
        int frames = static_cast<int>(seconds / frame + 0.5f);
        for (int i = 0; i < frames; ++i) {
            manager->update(frame);
        }
    }
    void expectAt(float x, float y)
    {
        EXPECT_NEAR(node->getPositionX(), x, 1e-3f);
        EXPECT_NEAR(node->getPositionY(), y, 1e-3f);
    }

    cc::CCActionManager* manager = nullptr;
    cc::CCNodeRGBA* node = nullptr;
};

} // namespace quibo_test
