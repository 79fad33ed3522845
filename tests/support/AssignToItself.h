#pragma once

// Self-assignment through a reference, as it happens in real code (x = *p
// with p == &x): what the object owns must be neither leaked nor released.
template <class T>
void AssignToItself(T& x)
{
    T& same = x;
    x = same;
}
