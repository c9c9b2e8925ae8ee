#pragma once

// A secondary base with only a virtual destructor, so that toolkit objects of
// any class can be deleted through one pointer type.
class CObjectBase {
public:
    virtual ~CObjectBase() = default;
};
