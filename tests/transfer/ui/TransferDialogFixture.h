#pragma once

#include "TestTempDir.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/DialogScript.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/TransferSettings.h"

#include <QPushButton>

#include <functional>

namespace ndlemo::test {

// A transfer settings dialog on settings of its own and a fresh program directory, with scripted message
// boxes; Run drives its Execute from inside the modal loop.
template <typename TDialog> class TTransferDialogFixture : public ::testing::Test {
protected:
    bool Run(std::function<void()> script) {
        return RunScripted(
            m_Dialog, [this] { return m_Dialog.Execute(); }, std::move(script));
    }
    TDaxEdit* Edit(const char* name) const { return Child<TDaxEdit>(m_Dialog, name); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(m_Dialog, name); }

    TTestTempDir m_Dir;
    TransferSettings m_Settings;
    TScriptedMessageBoxes m_Boxes;
    TDialog m_Dialog{m_Settings, m_Dir.Path()};
};

} // namespace ndlemo::test
