// What the program serves of a key's folder: only types that carry no
// script, and HTML pages with the policy that runs none at their start.
#include <gtest/gtest.h>

#include "reports/KeyPageContent.h"

namespace {

using key_page::ContentTypeOf;
using key_page::WithPagePolicy;

TEST(KeyPageContent, ServesPagesStylesTextAndPicturesByTheirEndingInAnyCase) {
  EXPECT_EQ(ContentTypeOf("key.htm"), "text/html");
  EXPECT_EQ(ContentTypeOf("sub/Page.HTML"), "text/html");
  EXPECT_EQ(ContentTypeOf("qor.css"), "text/css");
  EXPECT_EQ(ContentTypeOf("notes.txt"), "text/plain");
  EXPECT_EQ(ContentTypeOf("bird one.JPG"), "image/jpeg");
  EXPECT_EQ(ContentTypeOf("map.png"), "image/png");
  EXPECT_EQ(ContentTypeOf("scan.tif"), "image/tiff");
}

TEST(KeyPageContent, RefusesWhatCouldRunScriptAndWhatItDoesNotKnow) {
  for (const char* name : {"p.svg", "p.svgz", "p.xhtml", "p.xml", "p.xsl", "p.pdf", "p.js", "p.mjs", "p.wasm", "p.swf",
                           "p.html.svg", "noending", "dir.htm/p", ".htm/x", "p."})
    EXPECT_FALSE(ContentTypeOf(name)) << name;
}

TEST(KeyPageContent, ThePolicyRunsNoScriptAndConnectsNowhere) {
  const std::string& policy = key_page::PagePolicy();
  for (const char* part :
       {"script-src 'none'", "object-src 'none'", "worker-src 'none'", "connect-src 'none'", "form-action 'none'"})
    EXPECT_NE(policy.find(part), std::string::npos) << part;
  EXPECT_EQ(policy.find("http"), std::string::npos);
}

TEST(KeyPageContent, ThePolicyGoesFirstButAfterAByteOrderMarkAndTheDocumentType) {
  const std::string meta = "<meta http-equiv=\"Content-Security-Policy\" content=\"" + key_page::PagePolicy() + "\">";
  EXPECT_EQ(WithPagePolicy("<html><script>x</script></html>"), meta + "<html><script>x</script></html>");
  EXPECT_EQ(WithPagePolicy("\xEF\xBB\xBF<html>"), "\xEF\xBB\xBF" + meta + "<html>");
  EXPECT_EQ(WithPagePolicy("\xEF\xBB\xBF \n<!DOCTYPE html PUBLIC \"x\">\n<html>"),
            "\xEF\xBB\xBF \n<!DOCTYPE html PUBLIC \"x\">" + meta + "\n<html>");
  EXPECT_EQ(WithPagePolicy("<!doctype html><p>"), "<!doctype html>" + meta + "<p>");
  EXPECT_EQ(WithPagePolicy("<!doctype html"), meta + "<!doctype html");
  EXPECT_EQ(WithPagePolicy(""), meta);
}

}  // namespace
