#pragma once

#include "project/ProjectSettings.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QtGlobal>

// The controls of the program's windows, found as the program finds them: by
// their object names (the original form's names, kept as data), and the main
// window's field controls by their fields.

// The child of root with that object name; a missing one ends the test program
// with the name, as it means the window lost a control.
template <class T = QWidget> T* named(const QObject& root, const char* objectName) {
    T* found = root.findChild<T*>(QLatin1String(objectName));
    if (!found) {
        qFatal("no control named %s", objectName);
    }
    return found;
}

template <class T>
T* fieldControlAs(const tornavel::ui::MainWindow& window, tornavel::FieldId field) {
    auto* control = qobject_cast<T*>(window.fieldControl(field));
    if (!control) {
        qFatal("field %d has no control of the expected kind", static_cast<int>(field));
    }
    return control;
}

inline QLineEdit* box(const tornavel::ui::MainWindow& window, tornavel::FieldId field) {
    return fieldControlAs<QLineEdit>(window, field);
}
inline QCheckBox* check(const tornavel::ui::MainWindow& window, tornavel::FieldId field) {
    return fieldControlAs<QCheckBox>(window, field);
}
inline tornavel::ui::RadioGroup* group(const tornavel::ui::MainWindow& window,
                                       tornavel::FieldId field) {
    return fieldControlAs<tornavel::ui::RadioGroup>(window, field);
}
inline QComboBox* list(const tornavel::ui::MainWindow& window, tornavel::FieldId field) {
    return fieldControlAs<QComboBox>(window, field);
}

// Replaces a box's text as a person typing over all of it does: the box's
// validator decides, and the box reports the edit.
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->insert(text);
}
