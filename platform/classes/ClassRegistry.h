#pragma once
// The class registry: classes a stream may name, found by class name.
#include <initializer_list>
#include <vector>

#include "platform/classes/Object.h"

// Registering the same class twice is harmless; another class under a taken name is refused with
// EFilerError "A class named %s already exists".
void RegisterClass(const TMetaClass& cls);
void RegisterClasses(std::initializer_list<const TMetaClass*> classes);
void UnRegisterClass(const TMetaClass& cls);
void UnRegisterClasses(std::initializer_list<const TMetaClass*> classes);
// nullptr when not registered (case-insensitive name).
TClass GetClass(const String& className);
// EClassNotFound "Class %s not found".
const TMetaClass& FindClass(const String& className);
// A registered class whose name is className and which inherits from base; nullptr otherwise.
TClass FindClassOf(const String& className, const TMetaClass& base);
// Every registered class, in the order of registration.
std::vector<TClass> RegisteredClasses();

// Class groups. The program keeps every streamable class in one name space, so a group only
// records which classes belong together; lookups above see all registered classes whichever
// group is active.
void StartClassGroup(const TMetaClass& groupClass);
// Makes the group of groupClass the active one; returns the group class active before.
const TMetaClass* ActivateClassGroup(const TMetaClass& groupClass);
const TMetaClass* ActiveClassGroup();
// Puts cls (and classes later registered that inherit from it) into groupClass's group.
void GroupDescendentsWith(const TMetaClass& cls, const TMetaClass& groupClass);
// The group class cls belongs to; nullptr for the default group.
const TMetaClass* ClassGroupOf(const TMetaClass& cls);
