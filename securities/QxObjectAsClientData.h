#pragma once
// Lets a list or choice item carry a counted reference to a model object
// (a category, a security, a data provider); the control deletes its client
// objects, which releases the reference.
#include "core/QxObject.h"

#include <wx/clntdata.h>

class QxObjectAsClientData : public wxClientData {
public:
    explicit QxObjectAsClientData(QxObject* object) : m_object(object) {}

    QxObject* object() const { return m_object.get(); }
    template <class T>
    T* as() const
    {
        return dynamic_cast<T*>(m_object.get());
    }

private:
    QxObjectSmartPtr<QxObject> m_object;
};
