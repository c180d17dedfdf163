#pragma once

#include <QObject>

#include <map>
#include <type_traits>
#include <utility>

namespace brisquel {

// Controls that share one name and one set of handlers, told apart by an
// integer index (indices need not be contiguous). Handlers get the index
// first.
template <class T>
class ControlArray {
public:
    using Members = std::map<int, T *>;

    void add(int index, T *member) { m_members[index] = member; }

    // nullptr when there is no member with that index.
    T *operator()(int index) const
    {
        const auto it = m_members.find(index);
        return it == m_members.end() ? nullptr : it->second;
    }

    bool contains(int index) const { return m_members.count(index) != 0; }
    int count() const { return int(m_members.size()); }

    // In index order, as pairs (index, member).
    typename Members::const_iterator begin() const { return m_members.begin(); }
    typename Members::const_iterator end() const { return m_members.end(); }

    // Connects `signal` of every member to `handler`, called with the
    // member's index followed by the signal's arguments (or the index alone
    // when the handler takes nothing more), e.g.
    //   Command1.connectIndexed(&PictureButton::clicked, this, [this](int i) { ... });
    //   Command1.connectIndexed(&PictureButton::KeyPress, this,
    //                           [this](int i, Integer &key) { ... });
    template <class Signal, class Handler>
    void connectIndexed(Signal signal, const QObject *receiver, Handler handler) const
    {
        for (const auto &[index, member] : m_members) {
            QObject::connect(member, signal, receiver,
                             [i = index, handler](auto &&...args) -> void {
                                 if constexpr (std::is_invocable_v<const Handler &, int,
                                                                   decltype(args)...>)
                                     handler(i, std::forward<decltype(args)>(args)...);
                                 else
                                     handler(i);
                             });
        }
    }

private:
    Members m_members;
};

} // namespace brisquel
