#pragma once

#include <QString>
#include <optional>

#include "run/run_counter.h"
#include "run/workers/block_runner.h"
#include "run/workers/exact_runner.h"
#include "sim/run_stats.h"
#include "sim/scenario.h"
#include "sim/simulation.h"

class QElapsedTimer;

namespace zuv {

class App;

// The main window is closing: a run gives up at its next look and nothing
// more is drawn. The one reading of FIGURE.terminateprogram.
bool ProgramClosing(const App& app);

// The window's run: the engine or the enumeration, the worker threads, the
// statistics gathered so far, and where the run stands. There is one per
// window, made when its commands are registered; "is a run going" asks it.
class Run {
 public:
  enum class State {
    idle,      // the Start button starts a run
    running,   // hands or deals are being played; the button stops
    stopping,  // Stop or closing heard: the workers end their step and the run ends
  };

  explicit Run(App& app) : app_(app) {}
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  State state() const { return state_; }
  bool Going() const { return state_ != State::idle; }

  // The start button's command: checks the table, puts the window into its
  // running state, plays SETUP.NrOfSims hands (or every deal, with SIM.exact)
  // with the live chart, and at the end restores the window and opens the
  // statistics window. Whole blocks of hands are played on worker threads
  // (App::runThreads) while this thread serves events; hands shown one by one
  // are played here. Stop, the show-hands box and closing the window reach it
  // through SIM.stopsim, SIM.showhands and FIGURE.terminateprogram; the
  // workers stop at the end of their current step, giving up the blocks in
  // play, and the run keeps the first whole blocks (BlockRunner::RequestStop).
  // Does nothing while a run goes.
  void Start();

  // The stop button's command: asks the run to stop at its next hand.
  void Stop();

 private:
  // Looks at Stop and closing once; true while the run goes on.
  bool GoesOn();
  void PlaySampled(int active);
  void PlayExactly(int active);
  // Running from here: a stop asked for before is dropped, the table cleared,
  // the controls set for a run and the counter counts `unit`. False when the
  // program is closing.
  bool BeginRunning(int active, const QString& counterLabel, const char* unit);
  // Plays whole blocks from played_ on towards `total` on the worker threads.
  // False when the program is closing.
  bool PlayOnWorkers(long long total, QElapsedTimer& sinceRedraw);
  void ReplayLastHand();

  App& app_;
  State state_ = State::idle;
  // The table as the run plays it, fixed at its start.
  sim::Scenario scenario_;
  // This thread's engine: the hands shown one by one, the rest of a block
  // after the display is switched off, and the last hand shown again.
  std::optional<sim::Simulation> simulation_;
  std::optional<BlockRunner> blocks_;
  std::optional<ExactRunner> exact_;
  sim::RunStats stats_;
  long long played_ = 0;
  std::optional<RunCounter> counter_;
};

}  // namespace zuv
