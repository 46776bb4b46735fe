// Shared heap copies of segment values. A CountedHandle points at one heap object and
// counts itself in the object's own refCount field; the object is freed with its last
// handle. A HandleList is a singly linked list of handles that adds and removes at the
// front only (a stack).
#pragma once

#include <cstdint>

template <class T>
class CountedHandle {
public:
    CountedHandle() : target(nullptr) {}
    CountedHandle(const CountedHandle& other) : target(other.target) {
        if (target) ++target->refCount;
    }
    CountedHandle& operator=(const CountedHandle& other) {
        // Take the new reference before dropping the old one: self-assignment is safe.
        T* incoming = other.target;
        if (incoming) ++incoming->refCount;
        release();
        target = incoming;
        return *this;
    }
    // Moving hands the reference over without touching the count.
    CountedHandle(CountedHandle&& other) noexcept : target(other.target) { other.target = nullptr; }
    CountedHandle& operator=(CountedHandle&& other) noexcept {
        if (this != &other) {
            release();
            target = other.target;
            other.target = nullptr;
        }
        return *this;
    }
    ~CountedHandle() { release(); }

    // A heap copy of value (its refCount copied too), counted once for this handle.
    static CountedHandle makeHandle(const T& value) {
        CountedHandle handle;
        handle.target = new T(value);
        ++handle.target->refCount;
        return handle;
    }

    T& operator*() const { return *target; }
    T* operator->() const { return target; }
    T* get() const { return target; }
    bool isNull() const { return target == nullptr; }
    explicit operator bool() const { return target != nullptr; }

private:
    // GCC 12 cannot see that a handle's target outlives the delete of another handle's
    // target (the reference count rules that out) and warns of a use after free here.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif
    void release() {
        T* old = target;
        target = nullptr;
        if (old && --old->refCount == 0) delete old;
    }
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic pop
#endif

    T* target;
};

template <class T>
CountedHandle<T> makeHandle(const T& value) {
    return CountedHandle<T>::makeHandle(value);
}

template <class T>
class HandleList {
public:
    HandleList() : head(nullptr), listRefCount(0), nodeCount(0) {}
    HandleList(const HandleList&) = delete;
    HandleList& operator=(const HandleList&) = delete;
    ~HandleList() { clear(); }

    // Links a copy of handle in front of the head; returns the new count.
    int pushFront(const CountedHandle<T>& handle) {
        head = new Node{handle, head};
        return ++nodeCount;
    }

    // The most recently pushed handle, removed from the list; a null handle when empty.
    CountedHandle<T> popFront() {
        if (!head) return CountedHandle<T>();
        // The node's reference moves into the result, so the count stays as it was.
        CountedHandle<T> front(static_cast<CountedHandle<T>&&>(head->handle));
        Node* old = head;
        head = old->next;
        delete old;
        --nodeCount;
        return front;
    }

    int count() const { return nodeCount; }

    // The object at the head without removing it, or null.
    T* front() const { return head ? head->handle.get() : nullptr; }

    // Calls visit(const T&) for every object from the head on.
    template <class Visit>
    void forEach(Visit visit) const {
        for (const Node* node = head; node; node = node->next) visit(*node->handle);
    }

    // Unlinks and destroys the nodes from the head, releasing their handles.
    void clear() {
        while (head) {
            Node* old = head;
            head = old->next;
            delete old;
            --nodeCount;
        }
    }

private:
    struct Node {
        CountedHandle<T> handle;
        Node* next;
    };

    Node* head;
    int32_t listRefCount;  // reference count of the list itself; no handle to lists is taken
    int32_t nodeCount;
};
