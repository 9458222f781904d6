// Every engine action in one include, for screens that animate.
#pragma once

#include "actions/CCAction.h"
#include "actions/CCActionColor.h"
#include "actions/CCActionEase.h"
#include "actions/CCActionInstant.h"
#include "actions/CCActionInterval.h"
#include "actions/CCActionManager.h"
#include "actions/CCActionRepeat.h"
#include "actions/CCActionSequence.h"
#include "actions/CCActionTransform.h"
