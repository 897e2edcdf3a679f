#include "support/ui/TDaxFieldLink.h"

#include "support/TQsStreamDataSet.h"

namespace ndlemo {

TDaxFieldLink::TDaxFieldLink(TRefresh refresh) : m_Refresh(std::move(refresh)) {}

TDaxFieldLink::~TDaxFieldLink() {
    Unbind();
}

void TDaxFieldLink::Unbind() {
    if (m_Table && m_ListenerId)
        m_Table->RemoveListener(m_ListenerId);
    m_Table = nullptr;
    m_ListenerId = 0;
}

void TDaxFieldLink::Bind(TQsStreamDataSet* table, std::string fieldName) {
    Unbind();
    m_Table = table;
    m_FieldName = std::move(fieldName);
    if (m_Table) {
        m_ListenerId = m_Table->AddListener([this](const TQsNotification&) {
            if (!m_Writing && m_Refresh)
                m_Refresh();
        });
    }
    if (m_Refresh)
        m_Refresh();
}

bool TDaxFieldLink::HasField() const {
    if (!m_Table || !m_Table->Active() || m_Table->FieldIndex(m_FieldName) < 0)
        return false;
    return m_Table->State() != TQsStreamDataSet::TState::Browse || m_Table->GetBookmark() >= 0;
}

bool TDaxFieldLink::CanWrite() const {
    return HasField() && !m_Table->ReadOnly();
}

std::string TDaxFieldLink::ReadText() const {
    return HasField() ? m_Table->FieldByName(m_FieldName).AsString() : std::string();
}

bool TDaxFieldLink::ReadBoolean() const {
    return HasField() && m_Table->FieldByName(m_FieldName).AsBoolean();
}

template <typename F> void TDaxFieldLink::Write(F&& setter) {
    if (!CanWrite())
        return;
    m_Writing = true;
    try {
        const bool browsing = m_Table->State() == TQsStreamDataSet::TState::Browse;
        if (browsing)
            m_Table->Edit();
        TQsField field = m_Table->FieldByName(m_FieldName);
        setter(field);
        if (browsing)
            m_Table->Post();
    } catch (...) {
        m_Writing = false;
        throw;
    }
    m_Writing = false;
}

void TDaxFieldLink::WriteText(const std::string& value) {
    Write([&value](TQsField& field) { field.SetAsString(value); });
}

void TDaxFieldLink::WriteBoolean(bool value) {
    Write([value](TQsField& field) { field.SetAsBoolean(value); });
}

} // namespace ndlemo
