#include "platform/ReportFactory.h"

#include "platform/Ui.h"

namespace {

class NoReports : public IReportFactory {
 public:
  void RunReport(CZAVDoc&, int kind, int, int) override {
    platform::Ui().Trace("no report factory installed for kind " + std::to_string(kind));
  }
};

NoReports g_noReports;
IReportFactory* g_factory = &g_noReports;

}  // namespace

IReportFactory& ReportFactory() { return *g_factory; }
void SetReportFactory(IReportFactory* factory) { g_factory = factory ? factory : &g_noReports; }
