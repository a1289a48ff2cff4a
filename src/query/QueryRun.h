// The permission query run: "开始查询" (Start) and its stop.
#pragma once
#include <memory>

#include "app/MainContext.h"

namespace qv {

class QueryRun {
 public:
  explicit QueryRun(MainContext& main);
  ~QueryRun();
  QueryRun(const QueryRun&) = delete;
  QueryRun& operator=(const QueryRun&) = delete;

  void Start();  // StartQuery: stop, sort the table, start the worker
  void Stop();   // StopQuery: from now on the old run changes nothing

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace qv
