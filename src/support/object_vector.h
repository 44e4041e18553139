#pragma once
// Root of the game's object classes and the object list.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace tetsuro {

// Empty root class, so that one routine can hold or resize any object list.
class JObject {
public:
    JObject() = default;
    JObject(const JObject&) = default;
    JObject(JObject&&) = default;
    JObject& operator=(const JObject&) = default;
    JObject& operator=(JObject&&) = default;
    virtual ~JObject() = default;
};

// Object list. Elements are shared references, as the lists only point at
// objects that other parts of the game also hold. Storage grows
// geometrically; size() still grows by exactly one per addElement.
class Vector {
public:
    void addElement(std::shared_ptr<JObject> obj) { m_obj.push_back(std::move(obj)); }

    // The element at i; null for an index outside the list.
    [[nodiscard]] std::shared_ptr<JObject> elementAt(int i) const {
        if (i < 0 || static_cast<std::size_t>(i) >= m_obj.size()) return nullptr;
        return m_obj[static_cast<std::size_t>(i)];
    }

    [[nodiscard]] int size() const { return static_cast<int>(m_obj.size()); }

    void removeAllElements() { m_obj.clear(); }

private:
    std::vector<std::shared_ptr<JObject>> m_obj;
};

}  // namespace tetsuro
