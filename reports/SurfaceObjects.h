// The fonts or pens of one surface: handles, their requests, and which one is selected.
#pragma once

#include <cstddef>
#include <map>

template <typename Description, typename Handle>
class SurfaceObjects {
public:
    explicit SurfaceObjects(const Description& stock) { m_objects[STOCK_ID] = stock; }

    Handle Create(const Description& request)
    {
        const Handle h{m_nextId++};
        m_objects[h.id] = request;
        return h;
    }

    const Description* Find(Handle h) const
    {
        const auto it = m_objects.find(h.id);
        return it == m_objects.end() ? nullptr : &it->second;
    }

    Handle Select(Handle h)
    {
        if (!Find(h))
            return Handle{};
        const Handle previous = m_selected;
        m_selected = h;
        return previous;
    }

    bool Delete(Handle h)
    {
        if (h.id == STOCK_ID || h == m_selected)
            return false;
        return m_objects.erase(h.id) == 1;
    }

    Handle Selected() const { return m_selected; }
    const Description& SelectedDescription() const { return m_objects.at(m_selected.id); }
    std::size_t Count() const { return m_objects.size(); }

private:
    static constexpr int STOCK_ID = 1;
    std::map<int, Description> m_objects;
    Handle m_selected{STOCK_ID};
    int m_nextId = STOCK_ID + 1;
};
