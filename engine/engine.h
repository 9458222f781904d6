// Umbrella header of the engine layer: the base types, the scene graph, the
// director and its services. Rendering, text, menus, audio and transitions
// have their own headers.
#pragma once

#include "base/CCArray.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCDictionary.h"
#include "base/CCGeometry.h"
#include "base/CCLog.h"
#include "base/CCObject.h"
#include "base/CCSet.h"
#include "base/CCString.h"
#include "base/ccTypes.h"
#include "platform/CCEGLView.h"
#include "scene/CCDirector.h"
#include "scene/CCKeyDispatcher.h"
#include "scene/CCLayer.h"
#include "scene/CCNode.h"
#include "scene/CCNodeRGBA.h"
#include "scene/CCScene.h"
#include "scene/CCScheduler.h"
#include "scene/CCTouch.h"
#include "scene/CCTouchDispatcher.h"
