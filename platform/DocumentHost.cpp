#include "platform/DocumentHost.h"

namespace {
class CancellingHost : public DocumentHost {
 public:
  bool EditDescription(CZAVDoc&) override { return false; }
};
CancellingHost g_cancellingHost;
DocumentHost* g_host = &g_cancellingHost;
}  // namespace

DocumentHost& Host() { return *g_host; }
void SetDocumentHost(DocumentHost* host) { g_host = host ? host : &g_cancellingHost; }
