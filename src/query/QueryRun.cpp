#include "query/QueryRun.h"

namespace qv {

// Filled in by the query work: until then "开始查询" does nothing.
struct QueryRun::State {
  explicit State(MainContext& m) : main(m) {}
  MainContext& main;
};

QueryRun::QueryRun(MainContext& main) : state_(std::make_unique<State>(main)) {}
QueryRun::~QueryRun() { Stop(); }
void QueryRun::Start() {}
void QueryRun::Stop() {}

}  // namespace qv
