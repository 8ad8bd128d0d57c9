// Lookups in the model catalogue.
#include "core/model.h"

#include "core/rules.h"

const ModelRecord* FindModel(const ModelCatalogue& catalogue, const std::wstring& driverName) {
    for (const ModelRecord& model : catalogue)
        if (model.name == driverName)
            return &model;
    return nullptr;
}

const ModelRecord* FindModelNamed(const ModelCatalogue& catalogue, const std::wstring& name) {
    for (const ModelRecord& model : catalogue)
        if (EqualIgnoringCase(model.name, name))
            return &model;
    return nullptr;
}

std::wstring ModelNames(const ModelCatalogue& catalogue) {
    std::wstring names;
    for (const ModelRecord& model : catalogue)
        names += (names.empty() ? L"" : L", ") + model.name;
    return names;
}
