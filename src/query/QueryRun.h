// The permission query run: "开始查询" (Start) and its stop.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/MainContext.h"

namespace qv {

class QueryRun {
 public:
  // The listing of one folder. cancelled turns true when the run was
  // stopped; the capture should then return soon, with anything.
  using Capture = std::function<std::string(const std::string& folder, const std::function<bool()>& cancelled)>;

  // Runs cacls on each folder (CaptureProgramOutput).
  explicit QueryRun(MainContext& main);
  // Reads the listings through capture instead (tests).
  QueryRun(MainContext& main, Capture capture);
  // Stops the run. Destroy a QueryRun before the controls and the UiThread
  // of its MainContext: a worker may be sending to them up to this point.
  ~QueryRun();
  QueryRun(const QueryRun&) = delete;
  QueryRun& operator=(const QueryRun&) = delete;

  void Start();  // StartQuery: stop, sort the table, start the worker
  // StopQuery: returns at once; from now on the old run changes nothing,
  // and its worker ends at its next check.
  void Stop();

  // Whether the worker of the last run started is still going.
  bool Running() const;
  // Worker threads not yet ended, stopped runs included (tests wait for 0).
  static int LiveWorkers();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace qv
