#include "widgets/UnsavedChanges.h"

#include "widgets/FormBinding.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PhotoArea.h"

UnsavedChanges::UnsavedChanges(const FormBinding &binding) : m_binding(binding)
{
}

QList<quint64> UnsavedChanges::photoChanges() const
{
    QList<quint64> changes;
    for (const PhotoArea *photo : m_photos)
        changes.append(photo->changeCount());
    return changes;
}

void UnsavedChanges::remember()
{
    m_values = m_binding.collect();
    m_photoChanges = photoChanges();
}

bool UnsavedChanges::isDirty() const
{
    return m_binding.collect() != m_values || photoChanges() != m_photoChanges;
}

bool UnsavedChanges::mayLeave(QWidget *window, const QString &question, const std::function<bool()> &save) const
{
    if (!isDirty())
        return true;
    switch (MessageBoxes::show(window, MessageBoxes::Kind::SaveQuestion, question)) {
    case MessageBoxes::Answer::No: return true;
    case MessageBoxes::Answer::Cancel: return false;
    default: return save();
    }
}
