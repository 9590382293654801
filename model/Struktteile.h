#pragma once

// The element classes of a design, their display options, drawing helpers, file records
// and program-text export.
#include "model/Anweisung.h"
#include "model/Bedingung.h"
#include "model/Block.h"
#include "model/DisplayOptions.h"
#include "model/DrawHelpers.h"
#include "model/Element.h"
#include "model/Loops.h"
#include "model/Records.h"
