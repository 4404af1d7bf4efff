#pragma once
// Everything the window and the command-line tool use from the engine.

#include "sim/card.h"
#include "sim/evaluate_hands.h"
#include "sim/evaluator.h"
#include "sim/hand_key.h"
#include "sim/run_parallel.h"
#include "sim/run_stats.h"
#include "sim/scenario.h"
#include "sim/simulation.h"
#include "sim/start_hands.h"
