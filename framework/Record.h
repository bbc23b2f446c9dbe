// The framework's root of every record class: each keeps its instances in a
// class-wide list, in insertion order; the list owns them and removing a
// record from it ends its life.
#pragma once

#include <list>
#include <memory>

template <class T>
using RecordList = std::list<std::unique_ptr<T>>;

// The class-wide list of a record class T, and its DestroyEach.
template <class T>
class Record {
public:
    inline static RecordList<T> _list;
    static int DestroyEach() {
        _list.clear();
        return 0;
    }
};

// Constructs a record and appends it to its class-wide list.
template <class T>
T* NewRecord() {
    T::_list.push_back(std::make_unique<T>());
    return T::_list.back().get();
}
