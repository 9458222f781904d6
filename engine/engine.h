// Umbrella header of the engine layer: everything a screen needs.
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
