// A report view on a document whose database lies in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <vector>

#include "database/ZAVDoc.h"
#include "reports/qt/ZAVView.h"
#include "ViewTestSupport.h"

namespace viewtest {

class ViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_folder.isValid());
    m_doc.m_pathName = QDir(m_folder.path()).filePath("key.qor").toStdString();
  }

  QTemporaryDir m_folder;
  CZAVDoc m_doc;
  CZAVView m_view{m_doc};
  std::vector<Call> m_calls;
};

}  // namespace viewtest
